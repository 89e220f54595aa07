#include "core/recordstore.h"

#include <algorithm>
#include <tuple>

namespace pomiro {

namespace {

QuitRecords::const_iterator findRecord(const QuitRecords &records, const QString &name)
{
    return std::find_if(records.cbegin(), records.cend(),
                        [&name](const QuitRecord &record) { return record.name == name; });
}

} // namespace

RecordStore::RecordStore(QDir folder, QObject *parent)
    : QObject(parent), m_file(std::make_unique<RecordFile>(std::move(folder)))
{}

RecordStore::~RecordStore() = default;

Result<void, RecordFileError> RecordStore::load()
{
    auto loaded = m_file->load();
    m_loadError = loaded ? RecordFileError{} : loaded.error();
    if (loaded) {
        m_records = std::move(loaded).value();
    } else if (m_file->readOnly()) {
        // Nothing of a file we cannot read whole is shown as if it were all there is.
        m_records.clear();
    } else {
        // Unreadable for now: what was read before stays, and no write replaces the file.
        return fail(loaded.error());
    }
    emit changed();
    if (!loaded)
        return fail(loaded.error());
    return {};
}

QuitRecord RecordStore::recordOf(const QString &name) const
{
    const auto found = findRecord(m_records, name);
    return found != m_records.cend() ? *found : QuitRecord{name, {}, {}};
}

bool RecordStore::readOnly() const
{
    return m_file->readOnly();
}

QString RecordStore::path() const
{
    return m_file->path();
}

Result<void, RecordFileError> RecordStore::replace(const QuitRecord &expected,
                                                   const QuitRecord &next)
{
    Q_ASSERT(next.name == expected.name);
    const auto refused = [this] {
        std::ignore = load();
        return fail(RecordFileError{RecordFileError::Kind::ChangedElsewhere, {}});
    };
    if (m_file->changedElsewhere() || recordOf(expected.name) != expected)
        return refused();

    QuitRecord becomes = next;
    becomes.name = expected.name;
    QuitRecords updated = m_records;
    const auto found = findRecord(updated, expected.name);
    const bool empty = becomes.runs.isEmpty() && becomes.prices.isEmpty();
    if (found == updated.cend()) {
        if (empty)
            return {}; // no record, and none wanted
        updated.append(std::move(becomes));
    } else if (*found == becomes) {
        return {};
    } else if (empty) {
        updated.erase(found);
    } else {
        updated[found - updated.cbegin()] = std::move(becomes);
    }

    if (const auto written = m_file->write(updated); !written) {
        // Another program wrote between the check and the write.
        if (written.error().kind == RecordFileError::Kind::ChangedElsewhere)
            return refused();
        return written;
    }
    m_records = std::move(updated);
    emit changed();
    return {};
}

bool RecordStore::reloadIfChanged()
{
    if (!m_file->changedElsewhere())
        return false;
    std::ignore = load();
    return true;
}

void RecordStore::setReplacer(FileReplacer replacer)
{
    m_file->setReplacer(std::move(replacer));
}

} // namespace pomiro

#include "core/entrystore.h"

#include "core/cp932.h"
#include "core/datafile.h"

#include <algorithm>
#include <tuple>

namespace pomiro {

EntryStore::EntryStore(QDir folder, QObject *parent)
    : QAbstractListModel(parent), m_file(std::make_unique<DataFile>(std::move(folder)))
{}

EntryStore::~EntryStore() = default;

const Entry &EntryStore::at(qsizetype index) const
{
    static const Entry none;
    return index >= 0 && index < m_entries.size() ? m_entries[index] : none;
}

QString EntryStore::path() const
{
    return m_file->path();
}

Result<LoadReport, DataFileError> EntryStore::load()
{
    beginResetModel();
    auto loaded = m_file->load(m_entries);
    endResetModel();
    return loaded;
}

qsizetype EntryStore::indexOf(const QString &name) const
{
    const QString stored = cp932::storedForm(name);
    const auto found = std::find_if(m_entries.cbegin(), m_entries.cend(),
                                    [&stored](const Entry &entry) { return entry.name == stored; });
    return found == m_entries.cend() ? -1 : found - m_entries.cbegin();
}

qsizetype EntryStore::indexOf(const Entry &entry, qsizetype near) const
{
    // Both sides in the file's form: amounts given by replace() are kept as they were typed.
    const auto same = [](const QString &a, const QString &b) {
        return cp932::storedForm(a) == cp932::storedForm(b);
    };
    const auto isIt = [&](const Entry &stored) {
        return same(stored.name, entry.name) &&
               std::equal(stored.amounts.cbegin(), stored.amounts.cend(), entry.amounts.cbegin(),
                          same);
    };
    if (near >= 0 && near < m_entries.size() && isIt(m_entries[near]))
        return near;
    const auto found = std::find_if(m_entries.cbegin(), m_entries.cend(), isIt);
    return found == m_entries.cend() ? -1 : found - m_entries.cbegin();
}

Result<EntryChange, DataFileError> EntryStore::save(const Entry &entry)
{
    if (const qsizetype found = indexOf(entry.name); found >= 0)
        return replace(found, entry);
    return append(entry);
}

Result<EntryChange, DataFileError> EntryStore::append(const Entry &entry)
{
    if (const auto appended = m_file->append(entry, m_entries); !appended)
        return refused(appended.error());
    // Read back rather than added by hand: the entries then hold the name as the file holds it.
    std::ignore = load();
    const qsizetype index = m_entries.size() - 1;
    return EntryChange{EntryChange::Kind::Added, index, {}, m_entries[index]};
}

Result<EntryChange, DataFileError> EntryStore::replace(qsizetype index, const Entry &entry)
{
    Q_ASSERT(index >= 0 && index < m_entries.size());
    // Checked on its own first, so that a refusal names what was typed, not what is stored.
    if (const auto line = encodeEntryLine(entry); !line)
        return fail(line.error());
    Entries changed = m_entries;
    changed[index].amounts = entry.amounts;
    if (const auto written = m_file->rewrite(changed); !written)
        return refused(written.error());
    EntryChange change{EntryChange::Kind::Changed, index, m_entries[index], changed[index]};
    m_entries = std::move(changed);
    return change;
}

Result<EntryChange, DataFileError> EntryStore::remove(qsizetype index)
{
    Q_ASSERT(index >= 0 && index < m_entries.size());
    if (const auto written = m_file->rewrite(m_entries, index); !written)
        return refused(written.error());
    EntryChange change{EntryChange::Kind::Removed, index, m_entries[index], {}};
    std::ignore = load();
    return change;
}

Result<EntryChange, DataFileError> EntryStore::insert(qsizetype index, const Entry &entry)
{
    Q_ASSERT(index >= 0 && index <= m_entries.size());
    // First: the count may be of a file another program has changed since.
    if (const auto unchanged = m_file->checkUnchanged(); !unchanged)
        return refused(unchanged.error());
    if (m_entries.size() >= kMaxEntries) {
        DataFileError full;
        full.kind = DataFileError::Kind::TableFull;
        return fail(full);
    }
    if (const auto line = encodeEntryLine(entry); !line)
        return fail(line.error());
    Entries changed = m_entries;
    changed.insert(index, entry);
    if (const auto written = m_file->rewrite(changed); !written)
        return refused(written.error());
    std::ignore = load();
    return EntryChange{EntryChange::Kind::Added, index, {}, m_entries.value(index)};
}

Failure<DataFileError> EntryStore::refused(const DataFileError &error)
{
    if (error.kind == DataFileError::Kind::ChangedElsewhere)
        std::ignore = load();
    return fail(error);
}

void EntryStore::setReplacer(FileReplacer replacer)
{
    m_file->setReplacer(std::move(replacer));
}

int EntryStore::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant EntryStore::data(const QModelIndex &index, int role) const
{
    // A combo box asks for the text of its current row even when it has none.
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return m_entries[index.row()].name;
}

} // namespace pomiro

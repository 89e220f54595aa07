#pragma once

#include "core/quitrecord.h"
#include "core/recordfile.h"

#include <QDir>
#include <QObject>
#include <memory>

namespace pomiro {

// The quit records and their file, with one owner, as the entries have theirs: every change
// reaches the file first, and the records hold what the file holds. A change is given as the
// record it replaces and the record it becomes, so that a change another program made in between
// is refused rather than lost.
class RecordStore : public QObject
{
    Q_OBJECT

public:
    explicit RecordStore(QDir folder = QDir::current(), QObject *parent = nullptr);
    ~RecordStore() override;

    // Reads the record file. A damaged file or one of an unknown version leaves no records to
    // change and the store read-only (readOnly()); the entries go on working. A file that cannot
    // be read leaves the records as they were, and no change is written until it is read.
    Result<void, RecordFileError> load();

    const QuitRecords &records() const { return m_records; }
    // The record of the entry named `name`; an empty one (no runs, no prices) when there is none.
    QuitRecord recordOf(const QString &name) const;
    bool readOnly() const;
    // What the last load found wrong (why the store is read-only, say); a default error after a
    // load that went through.
    const RecordFileError &loadError() const { return m_loadError; }
    QString path() const;

    // Makes the record of `expected.name` into `next` (of the same name): refused
    // (ChangedElsewhere, and the file read again) unless the file is as last read or written and
    // holds `expected` for that name, an empty record standing for none. An empty `next` removes
    // the record; a new one goes after the others. A failed write leaves the records as they were.
    Result<void, RecordFileError> replace(const QuitRecord &expected, const QuitRecord &next);

    // Reads the file again when another program changed it; true when it did.
    bool reloadIfChanged();

    void setReplacer(FileReplacer replacer);

signals:
    // The records changed: a change went through or the file was read again.
    void changed();

private:
    std::unique_ptr<RecordFile> m_file;
    QuitRecords m_records;
    RecordFileError m_loadError;
};

} // namespace pomiro

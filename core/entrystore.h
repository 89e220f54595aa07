#pragma once

#include "core/datafileerror.h"
#include "core/entry.h"
#include "core/result.h"
#include "core/savefile.h"

#include <QAbstractListModel>
#include <QDir>
#include <memory>

namespace pomiro {

class DataFile;

// The user's entries and their data file, with one owner. Every change reaches the file first and
// the entries only once it is there, so the entries always hold what the file holds: a refused or
// failed change leaves both as they were, and a file that another program or window changed is
// read again, never overwritten.
//
// As a list model it serves the entries' names (display and edit role) in file order, for the
// views that list them. Reading the file resets the model; replacing amounts changes no name and
// so signals nothing.
class EntryStore : public QAbstractListModel
{
    Q_OBJECT

public:
    // The entries of the data file in `folder`; empty until load().
    explicit EntryStore(QDir folder = QDir::current(), QObject *parent = nullptr);
    ~EntryStore() override;

    const Entries &entries() const { return m_entries; }
    // The entry at `index`, or an empty one outside the entries.
    const Entry &at(qsizetype index) const;
    qsizetype count() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    // The data file, as it is found on disk now.
    QString path() const;

    // Reads the data file into the entries, making an empty file when there is none, and resets the
    // model. A file that exists but cannot be read leaves the entries as they were.
    Result<LoadReport, DataFileError> load();

    // Where the first entry named `name` is, comparing the name as the file would hold it (so a
    // typed "〜" finds a stored "～"); -1 when none is.
    qsizetype indexOf(const QString &name) const;

    // What save() did, and where the entry now is.
    struct Saved
    {
        enum class Kind { Added, Changed } kind;
        qsizetype index;
    };

    // Saves `entry` by its name: the first entry of that name (indexOf) takes its amounts, and a
    // name not stored yet is appended as a new entry.
    Result<Saved, DataFileError> save(const Entry &entry);

    // Adds `entry` to the file after the others, and reads the file again: returns where the new
    // entry now is. Refuses a 301st entry and text the file cannot hold.
    Result<qsizetype, DataFileError> append(const Entry &entry);

    // Gives the entry at `index` the amounts of `entry`, whose name matched it (indexOf); the
    // stored name stays as it is. Refuses text the file cannot hold, naming the field of `entry`.
    Result<void, DataFileError> replace(qsizetype index, const Entry &entry);

    // Removes the entry at `index` from the file, and reads the file again.
    Result<void, DataFileError> remove(qsizetype index);

    // Puts `entry` at `index` (0 to count()) in the file, and reads the file again; the file then
    // holds every entry in the program's own form, so an entry removed and put back leaves the
    // file as it was. Refuses a 301st entry and text the file cannot hold.
    Result<void, DataFileError> insert(qsizetype index, const Entry &entry);

    // Tests put a failing replacer here to see what a failed write leaves behind.
    void setReplacer(FileReplacer replacer);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    // After a change went wrong: when the file changed elsewhere, its entries are read again.
    template <typename T> Result<T, DataFileError> refused(const DataFileError &error);

    std::unique_ptr<DataFile> m_file;
    Entries m_entries;
};

} // namespace pomiro

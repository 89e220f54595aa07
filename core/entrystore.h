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

// What a change did to the stored entries, as the store answers it: where the entry now is (for
// one removed: where it was), and the entry before and after the change as the file holds it.
struct EntryChange
{
    enum class Kind { Added, Changed, Removed };

    Kind kind = Kind::Added;
    qsizetype index = 0;
    Entry before; // Changed, Removed
    Entry after;  // Added, Changed

    friend bool operator==(const EntryChange &, const EntryChange &) = default;
};

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

    // Where the entry that is `entry` whole is: its name compared as indexOf() compares it, and
    // each of its amounts alike. Looked for at `near` first, then as the first such entry, so that
    // another entry of the same name is never taken for it; -1 when none is.
    qsizetype indexOf(const Entry &entry, qsizetype near) const;

    // Saves `entry` by its name: the first entry of that name (indexOf) takes its amounts, and a
    // name not stored yet is appended as a new entry.
    Result<EntryChange, DataFileError> save(const Entry &entry);

    // Adds `entry` to the file after the others, and reads the file again. Refuses a 301st entry
    // and text the file cannot hold.
    Result<EntryChange, DataFileError> append(const Entry &entry);

    // Gives the entry at `index` the amounts of `entry`, whose name matched it (indexOf); the
    // stored name stays as it is. Refuses text the file cannot hold, naming the field of `entry`.
    Result<EntryChange, DataFileError> replace(qsizetype index, const Entry &entry);

    // Removes the entry at `index` from the file, and reads the file again.
    Result<EntryChange, DataFileError> remove(qsizetype index);

    // Puts `entry` at `index` (0 to count()) in the file, and reads the file again; the file then
    // holds every entry in the program's own form, so an entry removed and put back leaves the
    // file as it was. Refuses a 301st entry and text the file cannot hold.
    Result<EntryChange, DataFileError> insert(qsizetype index, const Entry &entry);

    // Tests put a failing replacer here to see what a failed write leaves behind.
    void setReplacer(FileReplacer replacer);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    // After a change went wrong: when the file changed elsewhere, its entries are read again.
    Failure<DataFileError> refused(const DataFileError &error);

    std::unique_ptr<DataFile> m_file;
    Entries m_entries;
};

} // namespace pomiro

#pragma once

#include "core/entry.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace pomiro {

class EntryListModel;
class FrozenTableView;

// The list window "ぽみろ一覧": every entry of the table as one grid row, the total row and the
// total of the rows the user selects by clicking them (or with Space or Enter on the current cell).
// It works on a copy of the rows it was opened with and never changes the table. Esc closes it, as
// the back button does.
class ListWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ListWindow(const Entries &entries, QWidget *parent = nullptr);

    // The list button's action: opens the window on first use (and after it was closed), or
    // brings the open one to the front as it stands, selection and all.
    static ListWindow *showList(const Entries &entries, QWidget *mainWindow,
                                QPointer<ListWindow> &existing);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setUpGrid();
    void showSelection(int row, bool selected);
    void fillRows(const Entries &entries);

    FrozenTableView *m_grid;
    EntryListModel *m_model = nullptr;
    QLabel *m_hint;
    QPushButton *m_backButton;
};

} // namespace pomiro

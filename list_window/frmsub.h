#pragma once

#include "core/entry.h"

#include <QPointer>
#include <QWidget>

class EntryListModel;
class FrozenTableView;
class QLabel;
class QPushButton;

// The list window "ぽみろ一覧": every entry of the table as one grid row, the total row and the
// total of the rows the user selects by clicking them. It works on a copy of the rows it was
// opened with and never changes the table.
class frmSub : public QWidget
{
    Q_OBJECT

public:
    explicit frmSub(const pomiro::Entries &entries, QWidget *parent = nullptr);

    // The list button's action: opens the window on first use (and after it was closed), or
    // brings the open one to the front as it stands, selection and all.
    static frmSub *showList(const pomiro::Entries &entries, QWidget *mainWindow, QPointer<frmSub> &existing);

private:
    void SET_GRID();
    void SET_LIST(const pomiro::Entries &entries);

    FrozenTableView *msg1;
    EntryListModel *m_model = nullptr;
    QLabel *Label1;
    QPushButton *cmdModori;
};

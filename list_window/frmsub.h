#pragma once

#include "core/entry.h"
#include "platform/grid.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QLabel;
class QPushButton;

// The list window "ぽみろ一覧": every entry of the table as one grid row, the total row and the
// total of the rows the user selects by clicking them. It works on the rows it was opened with
// and never changes the table.
class frmSub : public QWidget
{
    Q_OBJECT

public:
    // Fills the grid from the table at once; no reference to the table is kept. Without a grid
    // of its own the window uses QtGrid.
    explicit frmSub(const pomiro::Entries &entries, std::unique_ptr<pomiro::Grid> grid = nullptr,
                    QWidget *parent = nullptr);
    ~frmSub() override;

    // The list button's action: opens the window on first use (and after it was closed), or
    // brings the open one to the front as it stands, selection and all.
    static frmSub *showList(const pomiro::Entries &entries, QWidget *mainWindow, QPointer<frmSub> &existing);

    pomiro::Grid &grid() { return *m_grid; }

private:
    void SET_GRID();
    void SET_LIST();
    void SET_TOTAL();
    void toggleSelection();
    void writeTotals(int row, bool selectedOnly);
    bool isSelected(int row) const;

    std::unique_ptr<pomiro::Grid> m_grid;
    QLabel *Label1;
    QPushButton *cmdModori;
    // The table is read only while the window opens.
    const pomiro::Entries *m_openingEntries;
    // The number of entry rows the window was filled with.
    int m_count;
};

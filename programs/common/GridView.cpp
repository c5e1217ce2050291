#include "GridView.h"

#include <QHeaderView>
#include <QKeyEvent>

GridView::GridView(QWidget *parent)
    : QTableView(parent)
{
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    horizontalHeader()->setDefaultSectionSize(100);
    horizontalHeader()->setHighlightSections(true);
    verticalHeader()->setDefaultSectionSize(26);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

void GridView::moveDown()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || current.row() + 1 >= model()->rowCount())
        return;
    setCurrentIndex(model()->index(current.row() + 1, current.column()));
}

void GridView::keyPressEvent(QKeyEvent *event)
{
    if (state() != QAbstractItemView::EditingState) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            moveDown();
            return;
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            emit clearRequested();
            return;
        default:
            break;
        }
    }
    QTableView::keyPressEvent(event);
}

void GridView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTableView::closeEditor(editor, hint);
    if (hint == QAbstractItemDelegate::SubmitModelCache) // the editor was closed with Enter
        moveDown();
}

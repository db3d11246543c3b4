#include "editor/DayList.h"

DayList::DayList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QItemSelectionModel::SelectionFlags DayList::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const
{
    const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    const bool wouldEmpty = command.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle |
                                                 QItemSelectionModel::Clear) &&
                            (!index.isValid() || selectionModel()->isSelected(index));
    // Another day may be chosen; the chosen one cannot be put down.
    return wouldEmpty ? QItemSelectionModel::NoUpdate : command;
}

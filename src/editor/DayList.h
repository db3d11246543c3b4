#pragma once

#include <QListWidget>

// The editor's list of days. One day is always selected once the editor has started: the fields show
// that day, and every save and clear acts on it. A Ctrl+click or Ctrl+Space on the selected day, or a
// click beside the days, would otherwise leave none selected.
class DayList : public QListWidget
{
    Q_OBJECT
public:
    explicit DayList(QWidget* parent = nullptr);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
};

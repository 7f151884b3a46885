// The recordings list of the files page and the file operations on it.
#include "app/FormMain.h"

#include "ui_PageFiles.h"

#include <QTreeWidget>

namespace quillotap {

void FormMain::setUpRecordingsList() {}

void FormMain::BuildRecordingsList() {
    state_.FileListStale = false;
}

QTreeWidgetItem* FormMain::CurrentRecording() const {
    QTreeWidget* list = files_->ListViewFile;
    if (list->topLevelItemCount() == 0)
        return nullptr;
    QTreeWidgetItem* selected = list->currentItem();
    return selected ? selected : list->topLevelItem(0);
}

void FormMain::DeleteRecording() {}

} // namespace quillotap

#pragma once

#include "schedule/ProgramFolder.h"

#include <QPointer>

class Dialogs;
class Form2;

// Opens the schedule editor from the main window's "Saatleri ayarla". There is at most one editor: a
// second open only brings it to the front, keeping its selection and unsaved typing. Closing its
// window discards it, so the next open starts afresh at "Pazartesi".
class EditorLauncher
{
public:
    EditorLauncher(const ProgramFolder& folder, Dialogs& dialogs);
    ~EditorLauncher();
    EditorLauncher(const EditorLauncher&) = delete;
    EditorLauncher& operator=(const EditorLauncher&) = delete;

    void open();
    // Closes an open editor, unsaved typing included, as the program ends.
    void closeEditor();

    Form2* editor() const; // the open editor, or nullptr

private:
    const ProgramFolder m_folder;
    Dialogs& m_dialogs;
    QPointer<Form2> m_form;
};

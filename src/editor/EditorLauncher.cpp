#include "editor/EditorLauncher.h"

#include "editor/Form2.h"

#include <QGuiApplication>
#include <QScreen>

EditorLauncher::EditorLauncher(const ProgramFolder& folder, Dialogs& dialogs)
    : m_folder(folder), m_dialogs(dialogs)
{
}

EditorLauncher::~EditorLauncher()
{
    // The event loop may already have ended, so a pending deferred delete would never run.
    delete m_form.data();
}

void EditorLauncher::open()
{
    if (Form2* form = editor()) {
        form->setWindowState(form->windowState() & ~Qt::WindowMinimized);
        form->show();
        form->raise();
        form->activateWindow();
        return;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    m_form = new Form2(m_folder, m_dialogs,
                       screen ? EditorGeometry::zoomFor(screen->availableGeometry().size()) : 1.0);
    m_form->setAttribute(Qt::WA_DeleteOnClose);
    m_form->show();
}

void EditorLauncher::closeEditor()
{
    if (Form2* form = editor())
        form->close();
}

Form2* EditorLauncher::editor() const
{
    // A closed editor is hidden at once but deleted only when the event loop next runs; it no longer
    // counts as open.
    return m_form && m_form->isVisible() ? m_form.data() : nullptr;
}

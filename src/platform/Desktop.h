#pragma once

#include <QString>

// What the program asks of the desktop. None of these waits, and none goes through a shell.
class Desktop
{
public:
    virtual ~Desktop() = default;
    virtual void openDocument(const QString& path) = 0;      // a program or a document, by association
    virtual void killProcesses(const QString& imageName) = 0; // by force, every process of that name
    virtual void shutdown() = 0;                              // power the computer off
    virtual void openUrl(const QString& url) = 0;             // default browser
};

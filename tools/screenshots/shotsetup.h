#pragma once

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

// What both screenshot programs prepare: made before the application, it chooses the offscreen
// platform unless one is set and gives the settings file a home of its own, since windows and
// dialogs read look and language from it.
class ShotSetup final {
public:
    ShotSetup();

    // The output folder named on the command line, created: 0, or the exit code after saying why.
    static int outputFolder(const QStringList& arguments, const char* program, QDir& out);

private:
    QTemporaryDir m_home;
};

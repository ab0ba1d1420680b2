#pragma once
// What the pages are built with: the application object, and the folders the directory
// chooser lists at its top (empty: the file-system roots).

#include <QStringList>

namespace korvel {

class PalimarApp;

struct PageContext {
    const PalimarApp& app;
    QStringList chooserRoots;
};

}  // namespace korvel

#include "app/ui/desktop_open.h"

#include <QDesktopServices>
#include <QUrl>

#include "app/text_table.h"
#include "app/user_voice.h"

namespace korvel {

bool openWithDesktop(const std::string& path, UserVoice& voice, const TextTable& texts) {
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromLocal8Bit(path.c_str())))) {
        return true;
    }
    voice.show(MessageKind::Error, texts.message("IDS_ERR_OPEN_FILE_WITH_PROGRAM"));
    return false;
}

}  // namespace korvel

#include "gauge/permission_tip.h"

#include "app/platform.h"
#include "app/text_format.h"

namespace korvel {

std::string installedGaugeRules() {
    for (const char* folder : {"/etc/udev/rules.d", "/usr/lib/udev/rules.d", "/lib/udev/rules.d",
                               "/usr/local/lib/udev/rules.d"}) {
        const std::string rules = joinPath(folder, "60-korvel-gauge.rules");
        if (fileExists(rules)) {
            return rules;
        }
    }
    return {};
}

std::string permissionTip(const TextTable& texts, const std::string& installedRules) {
    if (installedRules.empty()) {
        return texts.message("IDS_ERR_USBPERMISSION_TIP");
    }
    return formatWithArgument(texts.message("IDS_ERR_USBPERMISSION_TIP_INSTALLED"), installedRules,
                              1);
}

}  // namespace korvel

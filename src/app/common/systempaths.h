// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QString>

namespace Mervak {

QString SettingsFolder();          // per-user configuration folder + "mervak", created when missing
QString DocumentsFolder();         // "" when unknown
QString FindChromePath();          // an installed Chrome or Chromium, or ""
int InternetExplorerVersion();     // 0 where there is none

} // namespace Mervak

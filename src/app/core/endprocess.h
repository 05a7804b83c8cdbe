// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <functional>

namespace Mervak {

/*!
    Ends the program at once with \a code: no window is closed in order and nothing is sent
    to the server. Every way out of the program (the exit question, a cancelled or refused
    login, the started installer, the request form of an unknown computer) comes here.

    Under a test hook the call returns after telling the hook; callers therefore return
    right after it, so that the program unwinds as if it had ended.
*/
void EndProcess(int code);

using EndProcessHook = std::function<void(int code)>;
void setEndProcessHook(EndProcessHook hook);

} // namespace Mervak

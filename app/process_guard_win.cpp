#include "app/process_guard_win.h"

#include <windows.h>

#include <aclapi.h>

#include "app/private_folder_win.h"

void closeProcessToOthers() {
    // All that the user's programs, Task Manager among them, may still do.
    constexpr DWORD kAllowed = PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE | PROCESS_TERMINATE;
    // The process's owner (its user, or Administrators when elevated) may otherwise always read
    // and change the DACL, and so open the process for anything after all; an entry for OWNER
    // RIGHTS puts the owner under the same limits.
    SidBuffer user, owner;
    DWORD ownerSize = sizeof owner.bytes;
    if (!readUserSid(user) ||
        !CreateWellKnownSid(WinCreatorOwnerRightsSid, nullptr, owner.get(), &ownerSize))
        return;
    alignas(DWORD)
        BYTE bytes[sizeof(ACL) + 2 * (sizeof(ACCESS_ALLOWED_ACE) + SECURITY_MAX_SID_SIZE)];
    auto* dacl = reinterpret_cast<PACL>(bytes);
    if (InitializeAcl(dacl, sizeof bytes, ACL_REVISION) &&
        AddAccessAllowedAce(dacl, ACL_REVISION, kAllowed, user.get()) &&
        AddAccessAllowedAce(dacl, ACL_REVISION, kAllowed, owner.get()))
        SetSecurityInfo(GetCurrentProcess(), SE_KERNEL_OBJECT,
                        DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr,
                        nullptr, dacl, nullptr);
}

// A folder only its user can open: the Windows side of FileSystem::keepPrivate. The folder's
// DACL gives full access to the user running the program (the token's own SID), to SYSTEM and
// to Administrators, and to nobody else; it is protected, so nothing the parent folder lets in
// reaches it, and every file and folder in it inherits it.
#pragma once

#include <windows.h>

// Reading and setting a folder's DACL, behind one replaceable seam: wine keeps no protected flag
// and rebuilds a folder's DACL from its Unix mode at every open, so what was asked of Windows
// cannot be read back there; tests install a recorder.
class FolderSecurity {
public:
    virtual ~FolderSecurity() = default;
    // GetSecurityInfo of the DACL: ERROR_SUCCESS and the descriptor to LocalFree, or the error.
    virtual DWORD read(HANDLE folder, PSECURITY_DESCRIPTOR& descriptor) = 0;
    // SetSecurityInfo of the descriptor's DACL, protected when the descriptor says so; Windows
    // passes inheritable entries on to what is in the folder. ERROR_SUCCESS or the refusal.
    virtual DWORD write(HANDLE folder, PSECURITY_DESCRIPTOR descriptor) = 0;
};

// What keepFolderPrivate uses: the system's own (GetSecurityInfo and SetSecurityInfo) unless a
// test installed another.
FolderSecurity& folderSecurity();
// Installs one (nullptr: the system's again); returns the previous one.
FolderSecurity* setFolderSecurity(FolderSecurity* security);

// A SID of any kind, in place.
struct SidBuffer {
    alignas(DWORD) BYTE bytes[SECURITY_MAX_SID_SIZE];
    PSID get() { return bytes; }
};

// The user this process runs as, from its token; false when the token cannot be read.
bool readUserSid(SidBuffer& sid);

// Gives the folder at path (in the extended "\\?\" form) the DACL above, unless its DACL keeps
// everyone else out already. Says nothing: a folder on a file system without permissions, or
// whose DACL this user may not change, is left as it is. No file's bytes change; Windows passes
// the new entries on to what is in the folder.
void keepFolderPrivate(const wchar_t* path);

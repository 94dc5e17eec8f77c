#include "app/private_folder_win.h"

#include <aclapi.h>

#include "core/seam.h"

namespace {
class PlatformFolderSecurity : public FolderSecurity {
public:
    DWORD read(HANDLE folder, PSECURITY_DESCRIPTOR& descriptor) override {
        return GetSecurityInfo(folder, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                               nullptr, nullptr, &descriptor);
    }
    DWORD write(HANDLE folder, PSECURITY_DESCRIPTOR descriptor) override {
        SECURITY_DESCRIPTOR_CONTROL control = 0;
        DWORD revision = 0;
        BOOL present = FALSE, defaulted = FALSE;
        PACL dacl = nullptr;
        if (!GetSecurityDescriptorControl(descriptor, &control, &revision) ||
            !GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted))
            return GetLastError();
        SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION;
        what |= (control & SE_DACL_PROTECTED) != 0 ? PROTECTED_DACL_SECURITY_INFORMATION
                                                   : UNPROTECTED_DACL_SECURITY_INFORMATION;
        return SetSecurityInfo(folder, SE_FILE_OBJECT, what, nullptr, nullptr, dacl, nullptr);
    }
};

FolderSecurity& systemFolderSecurity() {
    static PlatformFolderSecurity security;
    return security;
}

Seam<FolderSecurity, systemFolderSecurity> seam;

// FAT and exFAT keep no permissions.
bool keepsPermissions(HANDLE folder) {
    DWORD flags = 0;
    return GetVolumeInformationByHandleW(folder, nullptr, 0, nullptr, nullptr, &flags, nullptr,
                                         0) &&
           (flags & FILE_PERSISTENT_ACLS) != 0;
}

// Those who may open the folder: the user, SYSTEM (backups, the indexer, antivirus) and
// Administrators, who can take any file anyway.
constexpr int kTrustees = 3;
struct Trustees {
    SidBuffer sids[kTrustees];

    bool read() {
        DWORD system = sizeof sids[1].bytes, administrators = sizeof sids[2].bytes;
        return readUserSid(sids[0]) &&
               CreateWellKnownSid(WinLocalSystemSid, nullptr, sids[1].get(), &system) &&
               CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, sids[2].get(),
                                  &administrators);
    }
    bool include(PSID sid) {
        for (SidBuffer& trustee : sids)
            if (EqualSid(trustee.get(), sid))
                return true;
        return false;
    }
};

// Whether the DACL keeps everyone else out for good: it is protected, so that whatever the
// parent folder lets in later does not reach it, and it grants nothing to anyone else, neither
// on the folder nor on what is made in it. An entry whose kind says nothing about who it lets
// in counts as letting someone in.
bool keepsOthersOut(PSECURITY_DESCRIPTOR descriptor, Trustees& trustees) {
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    if (!GetSecurityDescriptorControl(descriptor, &control, &revision) ||
        (control & SE_DACL_PROTECTED) == 0 ||
        !GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) || dacl == nullptr)
        return false;
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* entry = nullptr;
        if (!GetAce(dacl, i, &entry))
            return false;
        BYTE kind = static_cast<ACE_HEADER*>(entry)->AceType;
        if (kind == ACCESS_DENIED_ACE_TYPE)
            continue;
        if (kind != ACCESS_ALLOWED_ACE_TYPE ||
            !trustees.include(&static_cast<ACCESS_ALLOWED_ACE*>(entry)->SidStart))
            return false;
    }
    return true;
}

// The protected DACL that gives each trustee full access, inherited by every file and folder
// in the folder.
struct PrivateDescriptor {
    SECURITY_DESCRIPTOR descriptor;
    alignas(DWORD)
        BYTE dacl[sizeof(ACL) + kTrustees * (sizeof(ACCESS_ALLOWED_ACE) + SECURITY_MAX_SID_SIZE)];

    bool build(Trustees& trustees) {
        auto* acl = reinterpret_cast<PACL>(dacl);
        if (!InitializeAcl(acl, sizeof dacl, ACL_REVISION))
            return false;
        for (SidBuffer& trustee : trustees.sids)
            if (!AddAccessAllowedAceEx(acl, ACL_REVISION,
                                       OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE, FILE_ALL_ACCESS,
                                       trustee.get()))
                return false;
        return InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
               SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) &&
               SetSecurityDescriptorControl(&descriptor, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
    }
};
} // namespace

FolderSecurity& folderSecurity() {
    return seam.get();
}

FolderSecurity* setFolderSecurity(FolderSecurity* security) {
    return seam.install(security);
}

bool readUserSid(SidBuffer& sid) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    union {
        TOKEN_USER user;
        BYTE bytes[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    } info;
    DWORD size = 0;
    bool read = GetTokenInformation(token, TokenUser, &info, sizeof info, &size) &&
                CopySid(sizeof sid.bytes, sid.get(), info.user.User.Sid);
    CloseHandle(token);
    return read;
}

void keepFolderPrivate(const wchar_t* path) {
    Trustees trustees;
    if (!trustees.read())
        return;
    // Backup semantics open a folder. Without the right to change its DACL there is nothing to
    // do, so a folder this user may not change is not even read.
    HANDLE folder = CreateFileW(path, READ_CONTROL | WRITE_DAC,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        return;
    FolderSecurity& security = folderSecurity();
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (keepsPermissions(folder) && security.read(folder, descriptor) == ERROR_SUCCESS &&
        !keepsOthersOut(descriptor, trustees)) {
        PrivateDescriptor closed;
        if (closed.build(trustees))
            security.write(folder, &closed.descriptor);
    }
    LocalFree(descriptor);
    CloseHandle(folder);
}

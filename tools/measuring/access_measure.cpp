// access_measure.exe KEYVANE_FOLDER: what the other accounts and programs on the computer may
// open of Keyvane, seen from outside it. Everything Windows keeps is printed as it is (DACLs as
// SDDL), so that a run on Windows shows what wine cannot:
//
// - Data: Keyvane starts in a program folder whose contents everyone may open, as in a folder
//   under C:\, once without Data and once with a Data, List and Setup opened to everyone. Data's
//   and List's DACLs are printed before and after the start, and List's bytes compared. Wine
//   rebuilds a folder's DACL from its Unix mode at every open (no protected flag, the parent's
//   inheritable entries merged in) and passes nothing on to the files in it, so there only who
//   may open Data shows.
// - The process: the rights another program of the same user gets on Keyvane's process and on
//   its threads, and the process's DACL read through the handle starting it gave. Wine lets an
//   object's owner change its DACL whatever an OWNER RIGHTS entry says.
#include <windows.h>

#include <aclapi.h>
#include <sddl.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/measuring/measure_support.h"
#include "tests/e2e/robot.h"

namespace {
struct Right {
    const char* name;
    DWORD access;
};

const Right kProcessRights[] = {
    {"PROCESS_VM_READ", PROCESS_VM_READ},
    {"PROCESS_VM_WRITE | PROCESS_VM_OPERATION", PROCESS_VM_WRITE | PROCESS_VM_OPERATION},
    {"PROCESS_CREATE_THREAD", PROCESS_CREATE_THREAD},
    {"PROCESS_DUP_HANDLE", PROCESS_DUP_HANDLE},
    {"PROCESS_QUERY_INFORMATION", PROCESS_QUERY_INFORMATION},
    {"WRITE_DAC", WRITE_DAC},
    {"READ_CONTROL", READ_CONTROL},
    {"PROCESS_QUERY_LIMITED_INFORMATION", PROCESS_QUERY_LIMITED_INFORMATION},
    {"SYNCHRONIZE", SYNCHRONIZE},
    {"PROCESS_TERMINATE", PROCESS_TERMINATE},
};

const Right kThreadRights[] = {
    {"THREAD_GET_CONTEXT", THREAD_GET_CONTEXT},
    {"THREAD_SET_CONTEXT", THREAD_SET_CONTEXT},
    {"THREAD_SUSPEND_RESUME", THREAD_SUSPEND_RESUME},
    {"THREAD_QUERY_LIMITED_INFORMATION", THREAD_QUERY_LIMITED_INFORMATION},
};

std::string daclOf(const std::string& path) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    GetNamedSecurityInfoW(widePath(path).c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                          nullptr, nullptr, nullptr, nullptr, &descriptor);
    std::string dacl = Robot::daclText(descriptor);
    LocalFree(descriptor);
    return dacl;
}

std::string outcome(HANDLE opened) {
    DWORD error = GetLastError();
    if (opened == nullptr)
        return "refused, error " + std::to_string(error);
    CloseHandle(opened);
    return "opens";
}

bool startKeyvane(Robot& robot) {
    if (robot.start() && robot.waitForWindow(kv::kMainTitle, kv::kDialogClass) != nullptr)
        return true;
    std::printf("  Keyvane did not start\n");
    return false;
}

bool measureData(const std::string& keyvane, bool found) {
    Robot robot(keyvane, {"Chimebox.dll"});
    std::string data = robot.folder() + "\\Data", list = data + "\\List";
    std::printf("%s\n", found ? "Data found opened to everyone, with List and Setup"
                              : "no Data before the first start");
    if (!Robot::setDacl(robot.folder(), "D:(A;;FA;;;" + Robot::userSid() + ")(A;OICIIO;FA;;;WD)")) {
        std::printf("  the program folder's DACL cannot be set\n");
        return false;
    }
    Bytes listBytes = listFileBytes("", sampleEntries(3));
    if (found) {
        robot.writeDataFile("List", listBytes);
        robot.writeDataFile("Setup", setupFileBytes("", 0));
        Robot::setDacl(data, "D:(A;OICI;FA;;;WD)");
        std::printf("  before: Data %s\n          List %s\n", daclOf(data).c_str(),
                    daclOf(list).c_str());
    }
    if (!startKeyvane(robot))
        return false;
    std::printf("  after:  Data %s\n", daclOf(data).c_str());
    if (found)
        std::printf("          List %s\n          List's bytes %s\n", daclOf(list).c_str(),
                    robot.readDataFile("List") == listBytes ? "unchanged" : "CHANGED");
    return robot.stop().exited;
}

bool measureProcess(const std::string& keyvane) {
    Robot robot(keyvane, {"Chimebox.dll"});
    if (!startKeyvane(robot))
        return false;
    std::printf("Keyvane's process, opened by another program of the same user\n");
    for (const Right& right : kProcessRights)
        std::printf("  %-40s %s\n", right.name,
                    outcome(OpenProcess(right.access, FALSE, robot.processId())).c_str());
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    GetSecurityInfo(robot.processHandle(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                    nullptr, nullptr, nullptr, &descriptor);
    std::printf("  its DACL: %s\n", Robot::daclText(descriptor).c_str());
    LocalFree(descriptor);

    std::vector<DWORD> threads;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == robot.processId())
            threads.push_back(entry.th32ThreadID);
    CloseHandle(snapshot);
    std::printf("its %zu threads, opened the same way\n", threads.size());
    for (const Right& right : kThreadRights) {
        int opened = 0;
        for (DWORD thread : threads)
            opened += outcome(OpenThread(right.access, FALSE, thread)) == "opens";
        std::printf("  %-40s opens on %d of %zu\n", right.name, opened, threads.size());
    }
    return robot.stop().exited;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: access_measure KEYVANE_FOLDER\n");
        return 2;
    }
    std::string keyvane = std::string(argv[1]) + "\\Keyvane.exe";
    bool ok = measureData(keyvane, false);
    ok &= measureData(keyvane, true);
    ok &= measureProcess(keyvane);
    return ok ? 0 : 1;
}

// The library robot_target.exe needs at load time, as Keyvane.exe needs Chimebox.dll: the target
// starts only when the robot copied it along.
extern "C" __declspec(dllexport) const char* robotTargetTitle() {
    return "Robot target";
}

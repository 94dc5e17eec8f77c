// The program entry of a framework application: everything happens in its InitInstance.
#include "framework/application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return Application::run(instance);
}

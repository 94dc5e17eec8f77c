// The program entry of a framework application: everything happens in its InitInstance.
#include "framework/application.h"
#include "framework/text_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    useSystemCodePage();
    return Application::run(instance);
}

#include "framework/application.h"

namespace {
Application* theApplication = nullptr;
}

Application::Application() {
    theApplication = this;
}

Application::~Application() {
    if (theApplication == this)
        theApplication = nullptr;
}

Application* Application::current() {
    return theApplication;
}

int Application::run(HINSTANCE instance) {
    Application* app = theApplication;
    if (app == nullptr)
        return 1;
    app->instance_ = instance;
    if (app->InitInstance()) {
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    app->setMainWindow(nullptr); // the window object is gone by now
    return app->ExitInstance();
}

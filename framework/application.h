// The application object: one global instance, whose InitInstance the program entry runs once.
#pragma once

#include <windows.h>

class Dialog;

class Application {
public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs once after start-up; returning false ends the process without a message loop.
    virtual bool InitInstance() = 0;
    // The process's exit code.
    virtual int ExitInstance() { return 0; }

    // The window that owns dialogs started without an owner, and receives the Help command.
    void setMainWindow(Dialog* window) { mainWindow_ = window; }
    Dialog* mainWindow() const { return mainWindow_; }

    HINSTANCE instance() const { return instance_; }

    // The one application object of the process, or nullptr (in a library's own tests).
    static Application* current();
    // The program entry: InitInstance, then the message loop while it returned true.
    static int run(HINSTANCE instance);

private:
    Dialog* mainWindow_ = nullptr;
    HINSTANCE instance_ = nullptr;
};

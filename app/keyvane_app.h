// The application object: its InitInstance is the program's whole life.
#pragma once

#include "application.h"

class KeyvaneApp : public Application {
public:
    bool InitInstance() override;
    void OnHelp() override;
};

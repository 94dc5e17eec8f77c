// The application object: its InitInstance is the program's whole life.
#pragma once

#include "framework/application.h"

class KeyvaneApp : public Application {
public:
    bool InitInstance() override;
};

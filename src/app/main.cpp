// TANSU: the catalog of KiSS sets.  The settings object exists before this
// runs (it is built during static initialisation).
#include "app/start.h"
#include "framework/ui/forms/application.h"

#include <exception>

int main(int argc, char** argv) {
    try {
        Application->Initialize(argc, argv);
        CreateTansuWindows();
        Application->Run();
    } catch (const std::exception& e) {
        // Start-up itself failed: the standard box tells, and the process ends.
        Application->ShowException(e);
    }
    return 0;
}

// Entry point of the demonstrator: the main window and the message loop until it closes. The
// exit code is 0 even when start-up failed, once the failure has been shown.
#include "app/Application.h"
#include "app/Form1.h"
#include "opcua/UaDataAccess.h"
#include "platform/Dialogs.h"

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    // Controls and channels bound to live data reach their servers over OPC UA.
    InstallUaDataAccess();
    RunShowingExceptions([] {
        TForm1 form;
        form.show();
        TApplication::exec();
        return true;
    });
    return 0;
}

#include "app_windows.h"
#include "main_window.h"
#include "shaftline_application.h"

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    CreateAppWindows();
    Form1->show();
    const int result = app.exec();
    DestroyAppWindows();
    return result;
}

#include "app_windows.h"
#include "data_input_form.h"
#include "main_window.h"
#include "shaft_line_book.h"
#include "shaftline_application.h"

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    CreateAppWindows();
    Form1->show();
    FormDataInput->Book()->OpenFromCommandLine(app.arguments());  // shaftline BOOK
    const int result = app.exec();
    DestroyAppWindows();
    return result;
}

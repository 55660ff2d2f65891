#include "app_windows.h"

#include "alignment_form.h"
#include "data_input_form.h"
#include "loads_form.h"
#include "main_window.h"
#include "param_form.h"
#include "rotor_sketch_form.h"

TForm1* Form1 = nullptr;
TFormDataInput* FormDataInput = nullptr;
TFormParam* FormParam = nullptr;
TFormRotorSketch* FormRotorSketch = nullptr;
TFormLoads* FormLoads = nullptr;
TFormAlignment* FormAlignment = nullptr;

void CreateAppWindows() {
    Form1 = new TForm1();
    FormDataInput = new TFormDataInput(Form1);
    Form1->AttachBook(FormDataInput->Book());
    FormParam = new TFormParam(Form1);
    FormRotorSketch = new TFormRotorSketch(Form1);
    FormLoads = new TFormLoads(Form1);
    FormAlignment = new TFormAlignment(Form1);
}

void DestroyAppWindows() {
    delete Form1;  // takes its child windows with it
    Form1 = nullptr;
    FormDataInput = nullptr;
    FormParam = nullptr;
    FormRotorSketch = nullptr;
    FormLoads = nullptr;
    FormAlignment = nullptr;
}

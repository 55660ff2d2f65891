#pragma once

class TForm1;
class TFormDataInput;
class TFormParam;
class TFormRotorSketch;
class TFormLoads;
class TFormAlignment;

/// The program's four windows: one instance each, created at start-up, alive until the program
/// ends and reached from every window by these names.
extern TForm1* Form1;
extern TFormDataInput* FormDataInput;
extern TFormParam* FormParam;
extern TFormRotorSketch* FormRotorSketch;
extern TFormLoads* FormLoads;
extern TFormAlignment* FormAlignment;

/// Creates the windows in the order Form1, FormDataInput, FormParam, FormRotorSketch, then
/// FormLoads and FormAlignment. The main window owns the others; nothing is shown.
void CreateAppWindows();

/// Destroys all the windows and clears the names.
void DestroyAppWindows();

#pragma once

class QApplication;

// What every run of the program (and of the screen tests) sets up first: the application's name
// and Qt's own Russian translations for its dialogs.
void setUpApplication(QApplication& application);

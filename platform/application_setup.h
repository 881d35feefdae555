#pragma once

class QApplication;

// What every run of the program (and of the screen tests) sets up first: the application's name,
// Qt's own Russian translations for its dialogs and the screen reader's access.
void setUpApplication(QApplication& application);

#pragma once

// The program's windows, in the order the student meets them, then the side screens.
enum class ScreenId {
  Title,           // FrmНачЧМ
  PersonalData,    // FrmФИО
  MainWindow,      // MDIFrmАнМод
  Assembly,        // FrmМонтаж, inside the main window
  Bench,           // FrmИсслЧМ1
  Characteristic,  // frmХарЧМ1
  Band,            // РасчЧМ
  Literature,      // FrmЛитература
  Bessel,          // FrmБессель
  Report,          // FrmОтчет, inside the main window
};

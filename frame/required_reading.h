#pragma once

#include <QString>

class Desktop;
class QWidget;

// The notes on the required reading that the student must open before the work: the chapters
// and pages of the four references of the literature screen.
QString requiredReadingText();
void showRequiredReading(Desktop& desktop, QWidget* parent);

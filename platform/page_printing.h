#pragma once

#include <QString>

#include "platform/desktop.h"

class QPrinter;

// Makes the printer write a PDF file of A4 pages instead of printing.
void setUpPdfOutput(QPrinter& printer, const QString& fileName, const QString& documentName);

// Draws exactly one page on the printer, with `paint` given the printable area in the painter's
// coordinates. False when the printer (or the file) cannot be opened or the job not finished.
bool printOnePage(QPrinter& printer, const PagePainter& paint);

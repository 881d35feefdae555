#pragma once

class QLabel;

// Column headers such as "  f. МГц" leave two blanks for a Greek capital delta drawn by a label
// of its own; this puts that label over the blanks of the centred header text.
void placeDeltaInLeadingBlanks(QLabel* delta, const QLabel* header);

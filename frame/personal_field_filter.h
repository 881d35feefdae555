#pragma once

#include <QChar>
#include <QString>

// The personal data boxes take a name (surname, first name, patronymic) or a number-like field
// (group, student card, e-mail). Both refuse blanks and the characters that a file name or an
// e-mail reader would stumble on; the name boxes refuse the full stop as well.
enum class PersonalBox { Name, Number };

// True when a typed character is refused in this kind of box.
bool isRefusedCharacter(PersonalBox box, QChar c);

// Text that arrives other than by typing (pasted, dropped) with the refused characters and any
// control characters (line breaks, tabs) taken out.
QString withoutRefusedCharacters(PersonalBox box, const QString& text);

#include "screen/exit_confirmation.h"

#include "platform/desktop.h"
#include "screen/navigation.h"

void ПодтверждениеВыхода(Navigation& hub, QWidget* parent) {
  const MsgAnswer answer =
      hub.desktop().message(parent, QStringLiteral("Вы хотите окончить работу с программой?"),
                            MsgButtons::YesNo, MsgIcon::None, QStringLiteral("   "));
  if (answer == MsgAnswer::Yes) hub.endProgram();
}

#pragma once

struct ModЧМ;

// The calling protocol of the Bessel series, the same at every call site: resets the sum,
// the sign and n! for the order in Порядок, then runs ФункцияБесселя for the argument in
// ИндексМод. The result is in Jn; the working cells hold what the series left in them.
void evaluateBessel(ModЧМ& state);

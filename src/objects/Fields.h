#pragma once
// Conversions of window fields shared by the models.
#include <string>
#include <string_view>

namespace kivo {

// A plain-number field: every "," becomes "." and the text is converted with
// the standard conversion. Returns whether the whole text (outer blanks
// aside) is one well-formed number with an optional sign; the converted value
// is stored in value either way, since the apply steps keep it even when they
// report the field.
bool ReadNumberField(std::string_view text, double& value);

// Address selected by item index of an input list (item i selects M(i+1)),
// or 0 when the index selects no item of the 99; M0 belongs to nobody and
// reads 0.
int AddressFromList(int index);

// Str(x:w:d) written into out. Reuses out's storage, so a text refreshed at
// every cycle costs no allocation once it has reached its usual length.
void FormatFixedInto(std::string& out, double x, int w, int d);

}  // namespace kivo

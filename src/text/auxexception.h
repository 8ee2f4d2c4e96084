#pragma once

namespace aux {

// Thrown by value, with no text: the catcher picks the wording.
enum auxexception { lexerror = 2, endofinput = 3 };

} // namespace aux

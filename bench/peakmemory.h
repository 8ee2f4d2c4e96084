#pragma once

// The most memory this process has held at once, in KiB.
long peakmemory();

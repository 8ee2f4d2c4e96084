#pragma once

extern const char version[];

// First resource id of the package's string table (shared by code and resource script).
#pragma once
#define ZQ_STRING_BASE 48000

// Resource IDs, shared by the resource script and the code.
#pragma once

#define IDI_KELVIOMARO 1

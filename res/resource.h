#pragma once

#define IDI_LUMVALE 1
#define IDB_MAKER_LOGO 2

// Identifiers shared by all dialog resources.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1) // labels and group boxes that code never addresses
#endif

// Device contexts, bitmaps, brushes and bit-block transfers.
#pragma once

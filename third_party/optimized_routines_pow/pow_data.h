/*
 * Copyright (c) 2018, Arm Limited.
 * SPDX-License-Identifier: MIT
 */
#ifndef OPTIMIZED_ROUTINES_POW_DATA_H
#define OPTIMIZED_ROUTINES_POW_DATA_H

#include <cstdint>

namespace optimized_routines {

#define POW_LOG_TABLE_BITS 7
#define POW_LOG_POLY_ORDER 8
extern const struct pow_log_data {
	double ln2hi;
	double ln2lo;
	double poly[POW_LOG_POLY_ORDER - 1]; /* First coefficient is 1.  */
	struct {
		double logc, logctail;
	} tab[1 << POW_LOG_TABLE_BITS];
	/* invc of each row times 256: every 1/c is a multiple of 1/256 below 2,
	   so it is kept in 16 bits rather than a double of its own.  */
	std::uint16_t invc256[1 << POW_LOG_TABLE_BITS];
} pow_log_table;

}  // namespace optimized_routines

#endif

/*
 * Copyright (c) 2018, Arm Limited.
 * SPDX-License-Identifier: MIT
 */
#ifndef OPTIMIZED_ROUTINES_EXP_DATA_H
#define OPTIMIZED_ROUTINES_EXP_DATA_H

#include <cstdint>

namespace optimized_routines {

#define EXP_TABLE_BITS 7
#define EXP_POLY_ORDER 5
#define EXP_USE_TOINT_NARROW 0
extern const struct exp_data {
	double invln2N;
	double shift;
	double negln2hiN;
	double negln2loN;
	double poly[4]; /* Last four coefficients.  */
	std::uint64_t tab[2*(1 << EXP_TABLE_BITS)];
} exp_table;

}  // namespace optimized_routines

#endif

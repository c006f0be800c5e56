# SPDX-License-Identifier: Apache-2.0
target_link_libraries(bench_foundation PRIVATE EXPAT::EXPAT)

# SPDX-License-Identifier: Apache-2.0
# Written by scripts/apply-export-macros.py: every public class and function of
# the shared libraries carries its export macro, so everything else is hidden.
set(ORVANE_HIDDEN_VISIBILITY ON)

#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""Writes calendar_vectors.txt: dates of day numbers and period boundaries of
interval units, computed with Python's datetime by brute force (walking day by
day and testing each day against the definition of a boundary), independently
of the library's index arithmetic.

Day numbers count from 1 January 1960 (day 0). Conventions of the boundaries:
- periods of several units are aligned on 1 January 1960, weeks on Sunday
  27 December 1959; the shift s moves the start by s - 1 shift units (months
  for QTR, SEMIYEAR and YEAR, days for WEEK, the unit itself otherwise);
- a WEEKDAY period starts on a working day; weekend days belong to the period
  of the working day before them.

Lines:
  D day year month dayOfMonth dayOfWeek(0 = Sunday)
  S interval start steps boundary     (the boundary reached from the start of
                                       start's period by `steps` periods)
  N interval a b count                 (number of boundaries in (a, b])
Run: python3 gen_calendar_vectors.py > calendar_vectors.txt
"""
import datetime
import random
import re

EPOCH = datetime.date(1960, 1, 1)
WEEK_ANCHOR = datetime.date(1959, 12, 27)
FIRST_DAY, LAST_DAY = -138061, 6589335
CYCLE_DAYS, CYCLE_YEARS = 146097, 400  # the Gregorian calendar repeats every 400 years


def date_of(day):
    """Date of a day number as (year, month, day), beyond year 9999 through the 400-year cycle."""
    shift = 0
    while day > (datetime.date(9999, 12, 31) - EPOCH).days:
        day -= CYCLE_DAYS
        shift += CYCLE_YEARS
    d = EPOCH + datetime.timedelta(days=day)
    return d.year + shift, d.month, d.day


def day_of(date):
    return (date - EPOCH).days


def parse(name):
    m = re.fullmatch(r"([A-Z]+?)(?:(\d+)W)?(\d*)(?:\.(\d+))?", name)
    unit, weekend, mult, shift = m.group(1), m.group(2), m.group(3), m.group(4)
    weekend_days = {0, 6} if weekend is None else {int(c) - 1 for c in weekend}  # 0 = Sunday
    return unit, int(mult or 1), max(int(shift or 0) - 1, 0), weekend_days


def sunday_weekday(date):
    return (date.weekday() + 1) % 7  # Python: Monday = 0; here Sunday = 0


def working_day_ordinal(date, weekend):
    """Number of working days from the week anchor up to and including date, minus one."""
    n = (date - WEEK_ANCHOR).days
    weeks, rest = divmod(n, 7)
    per_week = 7 - len(weekend)
    count = weeks * per_week
    for k in range(rest + 1):
        if k not in weekend:
            count += 1
    return count - 1


def is_boundary(name, date):
    unit, m, sh, weekend = parse(name)
    month_index = (date.year - 1960) * 12 + date.month - 1
    if unit == "DAY":
        return (day_of(date) - sh) % m == 0
    if unit == "WEEK":
        return ((date - WEEK_ANCHOR).days - sh) % (7 * m) == 0
    if unit == "WEEKDAY":
        if sunday_weekday(date) in weekend:
            return False
        return (working_day_ordinal(date, weekend) - sh) % m == 0
    if unit == "TENDAY":
        if date.day not in (1, 11, 21):
            return False
        return (month_index * 3 + (date.day - 1) // 10 - sh) % m == 0
    if unit == "SEMIMONTH":
        if date.day not in (1, 16):
            return False
        return (month_index * 2 + (0 if date.day == 1 else 1) - sh) % m == 0
    months = {"MONTH": 1, "QTR": 3, "SEMIYEAR": 6, "YEAR": 12}[unit]
    return date.day == 1 and (month_index - sh) % (months * m) == 0


ONE = datetime.timedelta(days=1)


def period_start(name, date):
    while not is_boundary(name, date):
        date -= ONE
    return date


def step(name, start_day, steps):
    date = period_start(name, EPOCH + datetime.timedelta(days=start_day))
    direction = ONE if steps > 0 else -ONE
    for _ in range(abs(steps)):
        date += direction
        while not is_boundary(name, date):
            date += direction
    return day_of(date)


def count(name, a, b):
    date, end, n = EPOCH + datetime.timedelta(days=a + 1), EPOCH + datetime.timedelta(days=b), 0
    while date <= end:
        n += is_boundary(name, date)
        date += ONE
    return n


INTERVALS = [
    "DAY", "DAY3", "DAY3.2", "WEEK", "WEEK.2", "WEEK.7", "WEEK2", "WEEK6.13",
    "WEEKDAY", "WEEKDAY67W", "WEEKDAY1W", "WEEKDAY2", "WEEKDAY3.2", "WEEKDAY17W5.3",
    "TENDAY", "TENDAY2", "TENDAY3.2", "SEMIMONTH", "SEMIMONTH2", "SEMIMONTH2.2",
    "MONTH", "MONTH2", "MONTH3.2", "MONTH6", "QTR", "QTR.2", "QTR2", "SEMIYEAR", "SEMIYEAR.3",
    "YEAR", "YEAR.7", "YEAR2", "YEAR5", "YEAR10.4",
]


def main():
    rnd = random.Random(1960)
    out = []
    # Dates: the ends of the valid range, leap-day neighbourhoods, century
    # years, and random days over the whole range.
    days = {FIRST_DAY, LAST_DAY, 0, -1, 59, 60, 3653, 14610, 14670, 21550, -14610}
    for y in (1582, 1600, 1700, 1800, 1900, 1960, 2000, 2100, 2400, 9999):
        for md in ((1, 1), (2, 28), (3, 1), (12, 31)):
            days.add(day_of(datetime.date(y, *md)))
        if y % 4 == 0 and (y % 100 != 0 or y % 400 == 0):
            days.add(day_of(datetime.date(y, 2, 29)))
    days.update(rnd.randint(FIRST_DAY, LAST_DAY) for _ in range(2000))
    for d in sorted(days):
        y, m, dd = date_of(d)
        out.append(f"D {d} {y} {m} {dd} {(d + 5) % 7}")
    # Stepping and counting, over days from 1700 to 2300.
    lo, hi = day_of(datetime.date(1700, 1, 1)), day_of(datetime.date(2300, 1, 1))
    for name in INTERVALS:
        unit = parse(name)[0]
        max_steps = 12 if unit in ("YEAR", "SEMIYEAR") else 40
        for _ in range(40):
            start, steps = rnd.randint(lo, hi), rnd.randint(-max_steps, max_steps)
            out.append(f"S {name} {start} {steps} {step(name, start, steps)}")
        for _ in range(20):
            a = rnd.randint(lo, hi)
            b = a + rnd.randint(0, 1500)
            out.append(f"N {name} {a} {b} {count(name, a, b)}")
    print("\n".join(out))


if __name__ == "__main__":
    main()

// saturate.h -- changes to health, mana and money that stop at their limits instead of wrapping.
#pragma once
#include <climits>

// Item and character files may hold any number, so a change is first held
// to a range that cannot overflow the sums below.
inline long long boundedChange(long long change)
{
    const long long LIMIT = 8000000000LL;
    return change < -LIMIT ? -LIMIT : change > LIMIT ? LIMIT : change;
}

// Health or mana after a change; kept within +-2,000,000,000 so that the
// sums the fights and the screens make with them stay in range. A value a
// file put beyond that is never pushed further out, nor pulled back by a
// change the other way.
inline int addPoints(int value, long long change)
{
    const long long LIMIT = 2000000000LL;
    long long lo = value < -LIMIT ? value : -LIMIT;
    long long hi = value > LIMIT ? value : LIMIT;
    long long v = (long long)value + boundedChange(change);
    return (int)(v < lo ? lo : v > hi ? hi : v);
}

// Money is unsigned: it stops at 0 and at UINT_MAX.
inline unsigned int addMoney(unsigned int money, long long change)
{
    long long m = (long long)money + boundedChange(change);
    if (m < 0)
        return 0;
    if (m > (long long)UINT_MAX)
        return UINT_MAX;
    return (unsigned int)m;
}

// A statistic (strength, dexterity, intelligence, the win count) one higher,
// stopping at the largest value it can hold.
inline unsigned int raiseStat(unsigned int value)
{
    return value == UINT_MAX ? value : value + 1;
}

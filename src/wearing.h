// wearing.h -- what the player wears when an item changes hands: it comes off, and the floater's flag follows.
#pragma once

class CGame;
class Item;

// Gives the item to a new owner (the shops' stock, a quest, or the player
// when bought) and takes it off: nothing changes hands worn. A worn floater
// leaving the player stops carrying the player over the sea, unless another
// worn floater is still carried.
void handOverItem(CGame& g, Item* item, unsigned int owner);

// The player floats while carrying at least one worn floater.
void updateFloater(CGame& g);

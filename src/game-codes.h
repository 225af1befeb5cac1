// game-codes.h -- names for the game's numbers: sizes, tiles, item types and owners, facings, icons, sounds.
// Plain constants with no library behind them, so that the engine, the asset
// and world tools and the tests can all include this header alone. The values
// are the ones the data files and the asset folders use; never renumber them.
#pragma once

// Sizes, in pixels unless said otherwise.
constexpr int kTileSize = 48;          // side of a tile, a sprite, an item picture
constexpr int kScreenHeight = 600;
constexpr int kScreenWidth = 800;
constexpr int kWideScreenWidth = 1024; // with the "widescreen" option
constexpr int kMapSize = 350;          // tiles on each side of the map
constexpr int kFlagCount = 40;         // story flags 0..39
constexpr int kSpriteSets = 9;         // sprite sets 0..8
constexpr int kDirections = 4;
constexpr int kWalkFrames = 3;         // 0 standing, 1 and 2 the steps
constexpr int kTileCount = 63;         // tile pictures 0..62

// The camera keeps the player's top-left corner at window pixel
// (width / 2 - kTileSize, kPlayerScreenY).
constexpr int kPlayerScreenY = 252;
constexpr int playerScreenX(int screenWidth) { return screenWidth / 2 - kTileSize; }

// Facing of a character (Actor::direction), also the sprite row.
enum Facing : int {
    kFaceUp = 0,
    kFaceRight = 1,
    kFaceDown = 2,
    kFaceLeft = 3,
};

// Map tiles (the values in map.dat); docs/tiles.md shows each one.
enum Tile : int {
    kTileGrass = 0,
    kTileStoneWall = 1,
    kTileCabinWall = 2,
    kTileOpenDoor = 3,          // what a door becomes when it is opened
    kTileLockedDoor = 4,        // door key or lock-pick
    kTilePlanks = 5,
    kTileBedHead = 6,
    kTileBedFoot = 7,           // goes below the head half
    kTileDirt = 8,
    kTileBoulders = 9,
    kTileOak = 10,
    kTileCobbles = 11,
    kTileSand = 12,
    kTileShallows = 13,         // wading water, walkable
    kTileFlagstones = 14,
    kTileRedCarpet = 15,
    kTileFlowers = 16,
    kTileTallGrass = 17,
    kTileForestFloor = 18,
    kTileCaveFloor = 19,
    kTileSnow = 20,
    kTileSea = 21,              // crossed with a worn floater; sea monsters swim in it
    kTileSwamp = 22,
    kTilePier = 23,
    kTileBridge = 24,
    kTileStairsDown = 25,
    kTileSignpost = 26,
    kTileDoormat = 27,
    kTileBlueRug = 28,
    kTileCheckedFloor = 29,
    kTileHay = 30,
    kTileShoreShallowsSand = 31,
    kTileShoreSandGrass = 32,
    kTileCounter = 33,
    kTileFurRug = 34,
    kTileMushrooms = 35,
    kTileWheat = 36,
    kTileVegetables = 37,
    kTileBrickWall = 38,
    kTilePine = 39,
    kTileRubble = 40,           // what a sea monster leaves of a wall or boulders
    kTileDrain = 41,
    kTileCrates = 42,
    kTileTrapdoor = 43,
    kTileRoomDoor = 44,         // opens only with a room key
    kTileDoubleDoor = 45,       // door key or lock-pick
    kTileCaveWall = 46,
    kTileMarble = 47,
    kTileShoreGrassSand = 48,
    kTileShoreSandShallows = 49,
    kTilePathNS = 50,
    kTilePathEW = 51,
    kTileTulips = 52,
    kTileAutumnLeaves = 53,
    kTileIce = 54,
    kTileDungeonFloor = 55,
    kTileCarpetRunner = 56,
    kTileParquet = 57,
    kTileMossyCobbles = 58,
    kTileCompassRose = 59,
    kTileReeds = 60,
    kTileSteppingStones = 61,
    kTilePebbleBeach = 62,
};

// Item::type.
enum ItemType : int {
    kItemPlain = 0,             // quest objects and the like; dropped when used
    kItemMelee = 1,
    kItemHealing = 2,
    kItemDrink = 3,
    kItemArmour = 4,
    kItemUsedUp = 5,            // consumed: hidden from lists, shops and quests
    kItemDoorKey = 6,
    kItemMana = 7,
    kItemRanged = 8,            // the only type whose file holds a range
    kItemFloater = 9,
    kItemLockPick = 10,
    kItemRoomKey = 11,
    kItemKeyShopGoods = 12,     // sold beside room keys; dropped like plain objects
};
// The filter of a general shop: every type but the key shop's trade.
constexpr int kShopAllTypes = -1;

// Item::owner: who holds an item. Other values hold it nowhere.
enum ItemOwner : unsigned int {
    kOwnerMap = 0,              // lying on the map at the item's position
    kOwnerPlayer = 1,
    kOwnerShop = 2,             // the stock every shop shares
    kOwnerQuest = 6,            // handed in for a quest
};

// The interface pictures, data/assets/icns/N.png (docs/art.md).
enum Icon : int {
    kIconPointer = 0,           // 16x16 selection arrow
    kIconSpareButton1 = 1,      // 1..3 loaded, not shown
    kIconSpareButton2 = 2,
    kIconSpareButton3 = 3,
    kIconFightAttack = 4,       // 4..8 the fight buttons, spell bar closed
    kIconFightInventory = 5,
    kIconFightSpellBar = 6,
    kIconFightNextWeapon = 7,
    kIconFightPrevWeapon = 8,
    kIconHit = 9,
    kIconMiss = 10,
    kIconSpellFireball = 11,    // 11..15 the buttons of the open spell bar
    kIconSpellHeal = 12,
    kIconSpellBarClose = 13,
    kIconSpellPain = 14,
    kIconSpellFlee = 15,
    kIconHealthBar = 16,
    kIconManaBar = 17,
    kIconFireTrail = 18,
    kIconGamblingSign = 19,
    kIconHealMark = 20,
    kIconArrow = 21,            // the shot of a ranged weapon
    kIconHeartEmpty = 22,       // the map screen's health gauge
    kIconHeartFull = 23,
    kIconSpareCoin = 24,
    kIconSpareStar = 25,
    kIconFightBanner = 26,
    kIconWindow = 27,           // magenta marks transparency
    kIconSpareShield = 28,
};
constexpr int kIconCount = 29;

// The sound effects, data/assets/sounds/N.wav.
enum Sound : int {
    kSoundFightWon = 0,
    kSoundBlow = 1,             // a blow or a fireball lands
    kSoundClick = 2,            // unused
    kSoundShot = 3,
    kSoundHighBlip = 4,         // unused
    kSoundLowBlip = 5,          // unused
    kSoundPain = 6,
    kSoundFlee = 7,
    kSoundDoorOpen = 8,
    kSoundTalk = 9,
    kSoundFireball = 10,
    kSoundHeal = 11,
    kSoundPickFails = 12,
    kSoundPickBreaks = 13,
};
constexpr int kSoundCount = 14;

// game-codes.h -- names for the game's numbers: sizes, tiles, item types and owners, facings, icons, sounds.
// Plain constants with no library behind them, so that the engine, the asset
// and world tools and the tests can all include this header alone. The values
// are the ones the data files and the asset folders use; never renumber them.
#pragma once

// Sizes, in pixels unless said otherwise.
constexpr int TILE_SIZE = 48;          // side of a tile, a sprite, an item picture
constexpr int SCREEN_HEIGHT = 600;
constexpr int NARROW_SCREEN_WIDTH = 800;
constexpr int WIDE_SCREEN_WIDTH = 1024; // with the "widescreen" option
constexpr int MAP_SIZE = 350;          // tiles on each side of the map
constexpr int FLAG_COUNT = 40;         // story flags 0..39
constexpr int GAME_NAME_MAX = 50;      // letters in a game folder's name typed at the custom-game prompt
constexpr int SPRITE_SETS = 9;         // sprite sets 0..8, which every game needs
constexpr int SPRITE_SETS_MAX = 100;   // further sets 9, 10, ... load up to the first one missing, at most this many in all
constexpr int DIRECTIONS = 4;
constexpr int WALK_FRAMES = 3;         // 0 standing, 1 and 2 the steps

// The camera keeps the player's top-left corner at window pixel
// (width / 2 - TILE_SIZE, PLAYER_SCREEN_Y).
constexpr int PLAYER_SCREEN_Y = 252;
constexpr int playerScreenX(int screenWidth) { return screenWidth / 2 - TILE_SIZE; }

// Facing of a character (Actor::direction), also the sprite row.
enum Facing : int
{
    FACE_UP = 0,
    FACE_RIGHT = 1,
    FACE_DOWN = 2,
    FACE_LEFT = 3,
};

// Map tiles (the values in map.dat); docs/tiles.md shows each one.
enum TileCode : int
{
    TILE_GRASS = 0,
    TILE_STONE_WALL = 1,
    TILE_CABIN_WALL = 2,
    TILE_OPEN_DOOR = 3,          // what a door becomes when it is opened
    TILE_LOCKED_DOOR = 4,        // door key or lock-pick
    TILE_PLANKS = 5,
    TILE_BED_HEAD = 6,
    TILE_BED_FOOT = 7,           // goes below the head half
    TILE_DIRT = 8,
    TILE_BOULDERS = 9,
    TILE_OAK = 10,
    TILE_COBBLES = 11,
    TILE_SAND = 12,
    TILE_SHALLOWS = 13,         // wading water, walkable
    TILE_FLAGSTONES = 14,
    TILE_RED_CARPET = 15,
    TILE_FLOWERS = 16,
    TILE_TALL_GRASS = 17,
    TILE_FOREST_FLOOR = 18,
    TILE_CAVE_FLOOR = 19,
    TILE_SNOW = 20,
    TILE_SEA = 21,              // crossed with a worn floater; sea monsters swim in it
    TILE_SWAMP = 22,
    TILE_PIER = 23,
    TILE_BRIDGE = 24,
    TILE_STAIRS_DOWN = 25,
    TILE_SIGNPOST = 26,
    TILE_DOORMAT = 27,
    TILE_BLUE_RUG = 28,
    TILE_CHECKED_FLOOR = 29,
    TILE_HAY = 30,
    TILE_SHORE_SHALLOWS_SAND = 31,
    TILE_SHORE_SAND_GRASS = 32,
    TILE_COUNTER = 33,
    TILE_FUR_RUG = 34,
    TILE_MUSHROOMS = 35,
    TILE_WHEAT = 36,
    TILE_VEGETABLES = 37,
    TILE_BRICK_WALL = 38,
    TILE_PINE = 39,
    TILE_RUBBLE = 40,           // what a sea monster leaves of a wall or boulders
    TILE_DRAIN = 41,
    TILE_CRATES = 42,
    TILE_TRAPDOOR = 43,
    TILE_ROOM_DOOR = 44,         // opens only with a room key
    TILE_DOUBLE_DOOR = 45,       // door key or lock-pick
    TILE_CAVE_WALL = 46,
    TILE_MARBLE = 47,
    TILE_SHORE_GRASS_SAND = 48,
    TILE_SHORE_SAND_SHALLOWS = 49,
    TILE_PATH_NS = 50,
    TILE_PATH_EW = 51,
    TILE_TULIPS = 52,
    TILE_AUTUMN_LEAVES = 53,
    TILE_ICE = 54,
    TILE_DUNGEON_FLOOR = 55,
    TILE_CARPET_RUNNER = 56,
    TILE_PARQUET = 57,
    TILE_MOSSY_COBBLES = 58,
    TILE_COMPASS_ROSE = 59,
    TILE_REEDS = 60,
    TILE_STEPPING_STONES = 61,
    TILE_PEBBLE_BEACH = 62,
};
constexpr int TILE_COUNT = 63;         // the map format holds tile numbers 0..62

// Item::type.
enum ItemType : int
{
    ITEM_PLAIN = 0,             // quest objects and the like; dropped when used
    ITEM_MELEE = 1,
    ITEM_HEALING = 2,
    ITEM_DRINK = 3,
    ITEM_ARMOUR = 4,
    ITEM_USED_UP = 5,            // consumed: hidden from lists, shops and quests
    ITEM_DOOR_KEY = 6,
    ITEM_MANA = 7,
    ITEM_RANGED = 8,            // the only type whose file holds a range
    ITEM_FLOATER = 9,
    ITEM_LOCK_PICK = 10,
    ITEM_ROOM_KEY = 11,
    ITEM_KEY_SHOP_GOODS = 12,     // sold beside room keys; dropped like plain objects
};
// The filter of a general shop: every type but the key shop's trade.
constexpr int SHOP_ALL_TYPES = -1;

// Item::owner: who holds an item. Other values hold it nowhere.
enum ItemOwner : unsigned int
{
    OWNER_MAP = 0,              // lying on the map at the item's position
    OWNER_PLAYER = 1,
    OWNER_SHOP = 2,             // the stock every shop shares
    OWNER_QUEST = 6,            // handed in for a quest
};

// The interface pictures, data/assets/icns/N.png (docs/art.md).
enum IconCode : int
{
    ICON_POINTER = 0,           // 16x16 selection arrow
    ICON_SPARE_BUTTON1 = 1,      // 1..3 loaded, not shown
    ICON_SPARE_BUTTON2 = 2,
    ICON_SPARE_BUTTON3 = 3,
    ICON_FIGHT_ATTACK = 4,       // 4..8 the fight buttons, spell bar closed
    ICON_FIGHT_INVENTORY = 5,
    ICON_FIGHT_SPELL_BAR = 6,
    ICON_FIGHT_NEXT_WEAPON = 7,
    ICON_FIGHT_PREV_WEAPON = 8,
    ICON_HIT = 9,
    ICON_MISS = 10,
    ICON_SPELL_FIREBALL = 11,    // 11..15 the buttons of the open spell bar
    ICON_SPELL_HEAL = 12,
    ICON_SPELL_BAR_CLOSE = 13,
    ICON_SPELL_PAIN = 14,
    ICON_SPELL_FLEE = 15,
    ICON_HEALTH_BAR = 16,
    ICON_MANA_BAR = 17,
    ICON_FIRE_TRAIL = 18,
    ICON_GAMBLING_SIGN = 19,
    ICON_HEAL_MARK = 20,
    ICON_ARROW = 21,            // the shot of a ranged weapon
    ICON_HEART_EMPTY = 22,       // the map screen's health gauge
    ICON_HEART_FULL = 23,
    ICON_SPARE_COIN = 24,
    ICON_SPARE_STAR = 25,
    ICON_FIGHT_BANNER = 26,
    ICON_WINDOW = 27,           // magenta marks transparency
    ICON_SPARE_SHIELD = 28,
};
constexpr int ICON_COUNT = 29;

// The sound effects, data/assets/sounds/N.wav.
enum SoundCode : int
{
    SOUND_FIGHT_WON = 0,
    SOUND_BLOW = 1,             // a blow or a fireball lands
    SOUND_CLICK = 2,            // unused
    SOUND_SHOT = 3,
    SOUND_HIGH_BLIP = 4,         // unused
    SOUND_LOW_BLIP = 5,          // unused
    SOUND_PAIN = 6,
    SOUND_FLEE = 7,
    SOUND_DOOR_OPEN = 8,
    SOUND_TALK = 9,
    SOUND_FIREBALL = 10,
    SOUND_HEAL = 11,
    SOUND_PICK_FAILS = 12,
    SOUND_PICK_BREAKS = 13,
};
constexpr int SOUND_COUNT = 14;

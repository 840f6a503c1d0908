import flash.Lib;
import flash.display.DisplayObject;
import flash.display.Sprite;
import flash.events.MouseEvent;
import haxe.ds.ObjectMap;

/**
	The chart's elements as the editor picks them: each element is a sprite
	that knows the style keys it is drawn with, the one that shapes it most
	first. While the editor picks (the `pick` variable is 1), a click on an
	element reports its keys, comma-separated, with
	fscommand("trevixPick", keys) and goes no further into the chart.
**/
class Picking {
	static var keysOf = new ObjectMap<DisplayObject, Array<String>>();

	/** A new sprite for the element drawn with these keys. **/
	public static function element(keys:Array<String>):Sprite {
		var sprite = new Sprite();
		keysOf.set(sprite, keys);
		return sprite;
	}

	public static function listen(root:Sprite) {
		// Before any of the chart's own listeners: a pick is no ordinary click.
		root.stage.addEventListener(MouseEvent.CLICK, picked, true);
	}

	static function picked(event:MouseEvent) {
		event.stopImmediatePropagation();
		var target:DisplayObject = cast event.target;
		while (target != null && !keysOf.exists(target))
			target = target.parent;
		if (target != null)
			Lib.fscommand("trevixPick", keysOf.get(target).join(","));
	}
}
